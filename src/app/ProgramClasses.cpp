#include "app/ProgramClasses.h"

#include "app/AppResources.h"
#include "app/Unit1.h"
#include "app/Unit2.h"
#include "framework/ClassRegistry.h"
#include "skin/controls/SkinControlClasses.h"

void RegisterProgramClasses() {
  RegisterAppResources();
  RegisterStoredSkins();
  skin::RegisterSkinControlClasses();
  framework::RegisterClass(TForm1::StaticClassInfo());
  framework::RegisterClass(TForm2::StaticClassInfo());
}
