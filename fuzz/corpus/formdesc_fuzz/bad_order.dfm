object A: TComponent
  object B: TComponent
  end
  Tag = 1
end
