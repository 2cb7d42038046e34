object A: TComponent
  object B: TComponent
  end
  object B: TComponent
  end
end
