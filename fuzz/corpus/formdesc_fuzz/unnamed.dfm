OBJECT TComponent
  Tag = 1  object TComponent
  END
end