object Form1: TComponent
  Tag = 7
  object Panel1: TComponent
    Tag = -3
    object Button1: TComponent
      Tag = $10
    end
  end
  object Timer1: TComponent
  end
end
