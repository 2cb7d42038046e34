#pragma once
// Registers the program's stored form descriptions and icon (compiled into the program) as
// resources the form reader can find by their paths under src ("app/Unit1.dfm").
void RegisterAppResources();
// Registers the three stored skins the bar's description names, by their paths under resources
// ("skins/BlueIce/Skin.dfm" and the pictures' data beside it).
void RegisterStoredSkins();
