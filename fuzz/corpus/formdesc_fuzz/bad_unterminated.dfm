object A: T
  Caption = 'abc
end
