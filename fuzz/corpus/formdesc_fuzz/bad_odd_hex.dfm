object A: T
  D = {0A0}
end
