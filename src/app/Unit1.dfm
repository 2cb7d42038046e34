object Form1: TForm1
  Left = 0
  Top = 179
  BorderStyle = bsNone
  Caption = 'Form1'
  ClientHeight = 56
  ClientWidth = 1019
  Color = 13282167
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Font.Style = []
  FormStyle = fsStayOnTop
  ShowHint = True
  OnCreate = FormCreate
  OnShow = FormShow
  PixelsPerInch = 96
  TextHeight = 13
  object sSkinManager1: TsSkinManager
    InternalSkins = <
      file 'skins/BlueGauze/Skin.dfm'
      file 'skins/BlueIce/Skin.dfm'
      file 'skins/BluePlastic/Skin.dfm'>
    MenuSupport.IcoLineSkin = 'ICOLINE'
    MenuSupport.ExtraLineFont.Charset = DEFAULT_CHARSET
    MenuSupport.ExtraLineFont.Color = clWindowText
    MenuSupport.ExtraLineFont.Height = -11
    MenuSupport.ExtraLineFont.Name = 'MS Sans Serif'
    MenuSupport.ExtraLineFont.Style = []
    SkinDirectory = 'c:\Skins'
    SkinName = 'BlueIce (internal)'
    SkinInfo = '4.83'
  end
  object sSkinProvider1: TsSkinProvider
    SkinData.SkinSection = 'FORM'
    TitleButtons = <>
  end
  object sLabel1: TsLabel
    Left = 8
    Top = 33
    Width = 120
    Height = 13
    Caption = 'Text copied to clipboard: '
    Font.Charset = DEFAULT_CHARSET
    Font.Color = clBlack
    Font.Height = -11
    Font.Name = 'MS Sans Serif'
    Font.Style = []
    ParentFont = False
  end
  object sLabel2: TsLabel
    Left = 137
    Top = 33
    Width = 3
    Height = 14
    Color = clMaroon
    Font.Charset = ANSI_CHARSET
    Font.Color = clBlack
    Font.Height = -11
    Font.Name = 'Arial'
    Font.Style = [fsBold]
    ParentColor = False
    ParentFont = False
  end
  object sLabelFX1: TsLabelFX
    Left = 400
    Top = 32
    Width = 116
    Height = 24
    Caption = 'Snipwell 2.1.'
    Font.Charset = DEFAULT_CHARSET
    Font.Color = clBlack
    Font.Height = -13
    Font.Name = 'MS Sans Serif'
    Font.Style = []
    ParentFont = False
  end
  object sButton1: TsButton
    Left = 973
    Top = 2
    Width = 47
    Height = 26
    Caption = 'Exit'
    TabOrder = 0
    OnClick = sButton1Click
  end
  object sPanel1: TsPanel
    Left = 0
    Top = 0
    Width = 969
    Height = 30
    TabOrder = 1
    SkinData.SkinSection = 'PANEL'
    object sEdit1: TsEdit
      Left = 8
      Top = 4
      Width = 130
      Height = 21
      Color = clWhite
      Font.Charset = DEFAULT_CHARSET
      Font.Color = clBlack
      Font.Height = -11
      Font.Name = 'MS Sans Serif'
      Font.Style = []
      ParentFont = False
      ReadOnly = True
      TabOrder = 0
      Text = 'Sample Text 1'
      OnMouseMove = sEdit1MouseMove
      BoundLabel.Indent = 0
      BoundLabel.Font.Charset = DEFAULT_CHARSET
      BoundLabel.Font.Color = clWindowText
      BoundLabel.Font.Height = -11
      BoundLabel.Font.Name = 'MS Sans Serif'
      BoundLabel.Font.Style = []
      BoundLabel.Layout = sclLeft
      BoundLabel.MaxWidth = 0
      SkinData.SkinSection = 'EDIT'
    end
    object sEdit2: TsEdit
      Left = 145
      Top = 4
      Width = 130
      Height = 21
      Color = clWhite
      Font.Charset = DEFAULT_CHARSET
      Font.Color = clBlack
      Font.Height = -11
      Font.Name = 'MS Sans Serif'
      Font.Style = []
      ParentFont = False
      ReadOnly = True
      TabOrder = 1
      Text = 'Sample Text 2'
      OnMouseMove = sEdit1MouseMove
      BoundLabel.Indent = 0
      BoundLabel.Font.Charset = DEFAULT_CHARSET
      BoundLabel.Font.Color = clWindowText
      BoundLabel.Font.Height = -11
      BoundLabel.Font.Name = 'MS Sans Serif'
      BoundLabel.Font.Style = []
      BoundLabel.Layout = sclLeft
      BoundLabel.MaxWidth = 0
      SkinData.SkinSection = 'EDIT'
    end
    object sEdit3: TsEdit
      Left = 282
      Top = 4
      Width = 130
      Height = 21
      Color = clWhite
      Font.Charset = DEFAULT_CHARSET
      Font.Color = clBlack
      Font.Height = -11
      Font.Name = 'MS Sans Serif'
      Font.Style = []
      ParentFont = False
      ReadOnly = True
      TabOrder = 2
      Text = 'Sample Text 3'
      OnMouseMove = sEdit1MouseMove
      BoundLabel.Indent = 0
      BoundLabel.Font.Charset = DEFAULT_CHARSET
      BoundLabel.Font.Color = clWindowText
      BoundLabel.Font.Height = -11
      BoundLabel.Font.Name = 'MS Sans Serif'
      BoundLabel.Font.Style = []
      BoundLabel.Layout = sclLeft
      BoundLabel.MaxWidth = 0
      SkinData.SkinSection = 'EDIT'
    end
    object sEdit4: TsEdit
      Left = 420
      Top = 4
      Width = 130
      Height = 21
      Color = clWhite
      Font.Charset = DEFAULT_CHARSET
      Font.Color = clBlack
      Font.Height = -11
      Font.Name = 'MS Sans Serif'
      Font.Style = []
      ParentFont = False
      ReadOnly = True
      TabOrder = 3
      Text = 'Sample Text 4'
      OnMouseMove = sEdit1MouseMove
      BoundLabel.Indent = 0
      BoundLabel.Font.Charset = DEFAULT_CHARSET
      BoundLabel.Font.Color = clWindowText
      BoundLabel.Font.Height = -11
      BoundLabel.Font.Name = 'MS Sans Serif'
      BoundLabel.Font.Style = []
      BoundLabel.Layout = sclLeft
      BoundLabel.MaxWidth = 0
      SkinData.SkinSection = 'EDIT'
    end
    object sEdit5: TsEdit
      Left = 557
      Top = 4
      Width = 130
      Height = 21
      Color = clWhite
      Font.Charset = DEFAULT_CHARSET
      Font.Color = clBlack
      Font.Height = -11
      Font.Name = 'MS Sans Serif'
      Font.Style = []
      ParentFont = False
      ReadOnly = True
      TabOrder = 4
      Text = 'Sample Text 5'
      OnMouseMove = sEdit1MouseMove
      BoundLabel.Indent = 0
      BoundLabel.Font.Charset = DEFAULT_CHARSET
      BoundLabel.Font.Color = clWindowText
      BoundLabel.Font.Height = -11
      BoundLabel.Font.Name = 'MS Sans Serif'
      BoundLabel.Font.Style = []
      BoundLabel.Layout = sclLeft
      BoundLabel.MaxWidth = 0
      SkinData.SkinSection = 'EDIT'
    end
    object sEdit6: TsEdit
      Left = 694
      Top = 4
      Width = 130
      Height = 21
      Color = clWhite
      Font.Charset = DEFAULT_CHARSET
      Font.Color = clBlack
      Font.Height = -11
      Font.Name = 'MS Sans Serif'
      Font.Style = []
      ParentFont = False
      ReadOnly = True
      TabOrder = 5
      Text = 'Sample Text 6'
      OnMouseMove = sEdit1MouseMove
      BoundLabel.Indent = 0
      BoundLabel.Font.Charset = DEFAULT_CHARSET
      BoundLabel.Font.Color = clWindowText
      BoundLabel.Font.Height = -11
      BoundLabel.Font.Name = 'MS Sans Serif'
      BoundLabel.Font.Style = []
      BoundLabel.Layout = sclLeft
      BoundLabel.MaxWidth = 0
      SkinData.SkinSection = 'EDIT'
    end
    object sEdit7: TsEdit
      Left = 832
      Top = 4
      Width = 130
      Height = 21
      Color = clWhite
      Font.Charset = DEFAULT_CHARSET
      Font.Color = clBlack
      Font.Height = -11
      Font.Name = 'MS Sans Serif'
      Font.Style = []
      ParentFont = False
      ReadOnly = True
      TabOrder = 6
      Text = 'Sample Text 7'
      OnMouseMove = sEdit1MouseMove
      BoundLabel.Indent = 0
      BoundLabel.Font.Charset = DEFAULT_CHARSET
      BoundLabel.Font.Color = clWindowText
      BoundLabel.Font.Height = -11
      BoundLabel.Font.Name = 'MS Sans Serif'
      BoundLabel.Font.Style = []
      BoundLabel.Layout = sclLeft
      BoundLabel.MaxWidth = 0
      SkinData.SkinSection = 'EDIT'
    end
  end
  object sCheckBox1: TsCheckBox
    Left = 820
    Top = 34
    Width = 198
    Height = 20
    Caption = 'Copy to Clipboard when mouse over'
    Checked = True
    State = cbChecked
    TabOrder = 2
    ImgChecked = 0
    ImgUnchecked = 0
    OnClick = sCheckBox1Click
  end
  object sButton2: TsButton
    Left = 744
    Top = 30
    Width = 65
    Height = 25
    Caption = 'Edit text...'
    TabOrder = 3
    OnClick = sButton2Click
  end
end
