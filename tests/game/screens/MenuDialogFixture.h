#pragma once
// A game application on the fakes with its help texts, the game's click and key sounds and a
// menu whose art set is loaded (the fixture's one-pixel pictures), for the menu's dialogs.

#include "framework/widgets/Dialog.h"
#include "game/app/GameAppFixture.h"
#include "game/screens/BoardMenu.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

namespace Vuro::Test {

class MenuDialogFixture : public GameAppFixture {
protected:
    MenuDialogFixture() {
        mApp->Init();
        EXPECT_TRUE(mApp->LoadHelpTexts());
        mMenu = std::make_unique<BoardMenu>(mApp.get());
        EXPECT_TRUE(mMenu->mArt.Load(mApp.get()));
        for (uint32_t sample : {2u, 4u}) {
            mSounds->mLoaded.insert(sample);
        }
    }
    ~MenuDialogFixture() override {
        while (!mApp->mDialogList.empty()) {
            mApp->CloseDialogWidget(mApp->mDialogList.front());
        }
        mApp->DeleteQueuedWidgets();
    }

    // Sized as callers do, then shown under its id.
    template <typename D> D* Show(D* dialog, int height = 0) {
        dialog->Resize(0, 0, 0, height);
        mApp->AddDialog(0, dialog);
        return dialog;
    }
    bool IsOpen(Dialog* dialog) const {
        const auto& list = mApp->mDialogList;
        return std::find(list.begin(), list.end(), dialog) != list.end();
    }
    // The samples played so far, in order.
    std::vector<uint32_t> Played() const {
        std::vector<uint32_t> ids;
        for (const auto& instance : mSounds->mInstances) {
            ids.push_back(instance->mId);
        }
        return ids;
    }

    std::unique_ptr<BoardMenu> mMenu;
};

} // namespace Vuro::Test
