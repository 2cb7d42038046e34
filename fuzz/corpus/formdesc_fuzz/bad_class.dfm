object A: TComponent
  object B: TNoSuchClass
  end
end
