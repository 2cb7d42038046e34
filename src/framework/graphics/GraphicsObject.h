#pragma once
// TGraphicsObject: the common root of the drawing tools a canvas holds (font, brush, pen). Each
// tells its OnChange listener after every real change of a value, never for a value set again.

#include <functional>

#include "framework/classes/Persistent.h"

namespace framework {

using TNotifyEvent = std::function<void(TObject* sender)>;

class TGraphicsObject : public TPersistent {
 public:
  TGraphicsObject() = default;
  // Tools are copied with Assign, which notifies; a plain copy would carry the listener along.
  TGraphicsObject(const TGraphicsObject&) = delete;
  TGraphicsObject& operator=(const TGraphicsObject&) = delete;

  DECLARE_CLASS_INFO()

  TNotifyEvent OnChange;

 protected:
  void Changed();
};

}  // namespace framework
