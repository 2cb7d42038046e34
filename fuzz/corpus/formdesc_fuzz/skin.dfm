object sSkinManager1: TsSkinManager
  InternalSkins = <
    item
      Name = 'BlueIce (internal)'
      GeneralData = <
        item
          SectionName = 'GLOBALINFO'
          Color = 13282167
          FontColor = '0 16768169 -1 -1 -1'
          GradientData = ' '
        end
        item
        end>
      Images = <
        item
          SectionName = 'FORM'
          PropertyName = 'BORDERSMASK'
          Left = 135
          WL = 4
        end>
      MasterBitmap.Data = {
        0400000042 4D00FF}
      Shadow1Blur = 4
      Version = 4.83
    end>
  SkinName = 'BlueIce (internal)'
end
