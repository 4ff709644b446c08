#pragma once
// Tovek's one dialog: the finder, the library check and the jump.
#include <windows.h>

#include "base/win/dialog_object.h"
#include "base/win/handle.h"
#include "winfolder/win/finder_button.h"
#include "winfolder/win/tovek_ids.h"

class TovekDialog : public DialogObject<TovekDialog>, private FinderListener {
public:
    INT_PTR run() { return runModal(nullptr, IDD_TOVEK); }

private:
    friend class DialogObject<TovekDialog>;
    void initialise();
    INT_PTR handle(UINT message, WPARAM wp, LPARAM lp);

    void onFinderPress() override;
    void onFinderMove(POINT screen) override;
    void onFinderRelease(POINT screen) override;

    void showCaptionFor(POINT screen);
    void drawFinder(const DRAWITEMSTRUCT& item) const;
    void check();
    void jump();

    FinderButton finder_;
    GdiObject finderPicture_;
};
