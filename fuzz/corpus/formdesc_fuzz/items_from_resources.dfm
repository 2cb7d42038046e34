object Form1: TComponent
  Tag = 3
  Items = <
    item
      Tag = 2
    end
    file 'fuzz/items.dfm'
    file 'fuzz/bad.dfm'>
end
