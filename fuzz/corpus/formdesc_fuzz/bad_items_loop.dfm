object Form1: TComponent
  Items = < file 'fuzz/items.dfm' file 'fuzz/loop.dfm' >
end
