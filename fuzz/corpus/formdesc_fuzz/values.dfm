object Form1: TForm1
  Left = -9223372036854775808
  Top = $7FFFFFFFFFFFFFFF
  Ratio = 4.830000000000000000
  Small = -1.5E-300
  Caption = 'It''s' + ' OK'#13#10'!'#8364#$41
  Anchors = [akLeft, akTop]
  Empty = []
  Color = clBtnFace
  OnClick = Button1Click
  Font.Style = [fsBold]
end
