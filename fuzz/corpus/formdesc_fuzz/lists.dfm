object Memo: TMemo
  Lines.Strings = (
    'one'
    'two' +
      ' halves'
    ''
    #9'tab')
  Data = { file 'fuzz/data.bin' }
  Blob = {
    00112233445566778899AABBCCDDEEFF00112233445566778899AABBCCDDEEFF
    0102}
end
