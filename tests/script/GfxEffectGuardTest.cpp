// gfx.Effect filters a copy off the editor's thread. The copy must never
// overwrite an edit that reached the image while the filter ran.
#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <string>
#include <vector>

#include "core/Bitmap.h"
#include "core/Error.h"
#include "editor/KromaF.h"
#include "editor/ScriptedPorts.h"
#include "editor/Settings.h"
#include "script/ScriptObject.h"
#include "script/ScriptObjects.h"

namespace kroma::test {
namespace {

// Runs work directly, but lets the user act before the n-th call.
class TInterleavedAccess : public IEditorAccess {
 public:
  int BeforeCall = 0;
  std::function<void()> UserAction;
  void Run(const std::function<void()>& work) override {
    if (++calls_ == BeforeCall && UserAction) UserAction();
    work();
  }

 private:
  int calls_ = 0;
};

class GfxEffectGuard : public ::testing::Test {
 protected:
  GfxEffectGuard() : editor_(prompts_, desktop_, view_, TAppPaths{.AppFolder = "/nonexistent/"}) {
    editor_.FormCreate();
    editor_.FormShow();
    gfx_ = MakeGfxObject(editor_);
  }

  void Invert(IEditorAccess& access) {
    std::vector<TScriptArg> args{{.Value = Variant(std::string("invert"))}};
    InvokeMember(*gfx_.Find("Effect"), TMemberAccess::Call, args, access, cancel_);
  }

  TScriptedPrompts prompts_;
  TManualDesktop desktop_;
  TRecordingView view_;
  TKromaF editor_;
  TScriptObject gfx_;
  std::atomic<bool> cancel_{false};
};

TEST_F(GfxEffectGuard, AppliesWhenTheImageStayedTheSame) {
  TInterleavedAccess access;
  Invert(access);
  EXPECT_EQ(editor_.Image().GetPixel(5, 5), clBlack);
}

TEST_F(GfxEffectGuard, AnEditMadeWhileTheFilterRanIsKept) {
  TInterleavedAccess access;
  access.BeforeCall = 2;  // after the copy was taken, before it is put back
  access.UserAction = [&] { editor_.Image().SetPixel(5, 5, clRed); };
  try {
    Invert(access);
    FAIL() << "the effect was applied over the edit";
  } catch (const Error& e) {
    EXPECT_NE(std::string(e.what()).find("changed while the effect ran"), std::string::npos) << e.what();
  }
  EXPECT_EQ(editor_.Image().GetPixel(5, 5), clRed);
  EXPECT_EQ(editor_.Image().GetPixel(6, 5), clWhite) << "nothing of the filter reached the image";
}

}  // namespace
}  // namespace kroma::test
