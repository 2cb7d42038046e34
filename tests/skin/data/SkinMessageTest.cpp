// The skin message's sending functions over a tree of controls.

#include "framework/controls/CustomControl.h"
#include "framework/controls/GraphicControl.h"
#include "tests/skin/SkinTestSupport.h"

namespace skin::test {
namespace {

using Log = std::vector<std::string>;

std::string Entry(const std::string& name, const framework::TMessage& m) {
  return name + ":" + std::to_string(SkinCommandOf(m.WParam)) + "/" +
         std::to_string(SkinArgumentOf(m.WParam));
}

// A windowed control that answers SKC_ISSKINNED when skinned and logs every other skin command.
class Probe : public framework::TCustomControl {
 public:
  Probe(framework::TWinControl* parent, const std::string& name, bool skinned, Log* log)
      : TCustomControl(parent), skinned_(skinned), log_(log) {
    SetName(name);
    SetParent(parent);
  }
  void WndProc(framework::TMessage& m) override {
    if (m.Msg == SM_SKINCMD) {
      if (SkinCommandOf(m.WParam) == SKC_ISSKINNED) {
        if (skinned_) m.LParam = 1;
        return;
      }
      log_->push_back(Entry(Name(), m));
      return;
    }
    TCustomControl::WndProc(m);
  }

 private:
  bool skinned_;
  Log* log_;
};

class Dot : public framework::TGraphicControl {
 public:
  Dot(framework::TWinControl* parent, const std::string& name, Log* log)
      : TGraphicControl(parent), log_(log) {
    SetName(name);
    SetParent(parent);
  }
  void WndProc(framework::TMessage& m) override {
    if (m.Msg == SM_SKINCMD) log_->push_back(Entry(Name(), m));
    TGraphicControl::WndProc(m);
  }

 private:
  Log* log_;
};

class SkinMessageTest : public SkinTest {
 protected:
  void SetUp() override {
    SkinTest::SetUp();
    form = new framework::TForm(app.get());
    form->SetBounds(0, 0, 200, 100);
    dot = new Dot(form, "dot", &calls);
    plain = new Probe(form, "plain", false, &calls);
    inner = new Probe(plain, "inner", true, &calls);
    innerDot = new Dot(plain, "innerDot", &calls);
    skinned = new Probe(form, "skinned", true, &calls);
    hidden = new Dot(skinned, "hidden", &calls);
    doomed = new Probe(form, "doomed", true, &calls);
    after = new Probe(form, "after", true, &calls);
  }

  framework::TForm* form = nullptr;
  Dot* dot = nullptr;
  Probe* plain = nullptr;
  Probe* inner = nullptr;
  Dot* innerDot = nullptr;
  Probe* skinned = nullptr;
  Dot* hidden = nullptr;
  Probe* doomed = nullptr;
  Probe* after = nullptr;
  Log calls;
};

TEST_F(SkinMessageTest, QueriesAnswerOnlyWhereTheMessageIsKnown) {
  EXPECT_EQ(SkinWParam(SKC_REPAINTALL, 1), 0x00140001u);
  EXPECT_EQ(SM_SKINCMD, 0xA100u);
  EXPECT_TRUE(QuerySkinCommand(skinned, SKC_ISSKINNED));
  EXPECT_FALSE(QuerySkinCommand(plain, SKC_ISSKINNED));
  EXPECT_FALSE(QuerySkinCommand(form, SKC_ISSKINNED));
  EXPECT_FALSE(QuerySkinCommand(dot, SKC_ISSKINNED));
  EXPECT_FALSE(QuerySkinCommand(nullptr, SKC_ISSKINNED));

  // Nobody answers: the slots keep saying so.
  ParentCache().Ready = false;
  ColorSlot() = kColorSlotUnset;
  SendSkinCommand(form, SKC_GETCACHE);
  SendSkinCommand(form->Handle(), SKC_GETCOLOR);
  EXPECT_FALSE(ParentCache().Ready);
  EXPECT_EQ(ColorSlot(), platform::clFuchsia);
}

TEST_F(SkinMessageTest, WindowedControlsGetCommandsOnlyThroughAnExistingWindow) {
  SendSkinCommand(skinned, SKC_REFRESH);
  EXPECT_TRUE(calls.empty());  // no window yet
  SendSkinCommand(dot, SKC_REFRESH);
  form->HandleNeeded();
  SendSkinCommand(skinned, SKC_REFRESH);
  skinned->SetState(framework::csDestroying, true);
  SendSkinCommand(skinned, SKC_STOPFADE);
  skinned->SetState(framework::csDestroying, false);
  EXPECT_EQ(calls, (Log{"dot:3/0", "skinned:3/0"}));
}

TEST_F(SkinMessageTest, BroadcastDescendsIntoUnskinnedContainersAndStopsAtADyingChild) {
  doomed->SetState(framework::csDestroying, true);
  framework::TMessage m{SM_SKINCMD, SkinWParam(SKC_SETNEWSKIN), 0, 0};
  BroadcastSkinMessage(form, m);
  doomed->SetState(framework::csDestroying, false);
  EXPECT_EQ(calls, (Log{"dot:1/0", "inner:1/0", "innerDot:1/0", "skinned:1/0"}));
}

TEST_F(SkinMessageTest, PaintedNoticesGoToWindowedChildrenAndUnfreezingReachesEveryone) {
  form->HandleNeeded();
  NotifyChildrenPainted(form);
  EXPECT_EQ(calls, (Log{"plain:6/0", "skinned:6/0", "doomed:6/0", "after:6/0"}));
  calls.clear();
  UnfreezeCaches(form);
  EXPECT_EQ(calls, (Log{"dot:9/0", "plain:9/0", "inner:9/0", "innerDot:9/0", "skinned:9/0",
                        "hidden:9/0", "doomed:9/0", "after:9/0"}));
}

}  // namespace
}  // namespace skin::test
