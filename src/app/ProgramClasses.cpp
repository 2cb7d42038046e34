#include "app/ProgramClasses.h"

#include "app/AppResources.h"
#include "app/Unit1.h"
#include "app/Unit2.h"
#include "framework/classes/ClassRegistry.h"
#include "skin/forms/SkinFormClasses.h"

void RegisterProgramClasses() {
  RegisterAppResources();
  RegisterStoredSkins();
  skin::RegisterSkinFormClasses();
  framework::RegisterClass(TForm1::StaticClassInfo());
  framework::RegisterClass(TForm2::StaticClassInfo());
}
