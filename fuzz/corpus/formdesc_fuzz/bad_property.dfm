object A: TComponent
  object B: TComponent
    Tag = 'x'
  end
end
