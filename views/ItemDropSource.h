#pragma once
// The drop source of an item drag: Escape cancels, letting go of the mouse
// button that drags (left or right) drops.

#include "framework/ComObject.h"

#include <oleidl.h>

class ItemDropSource : public ComObject<IDropSource> {
public:
    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escapePressed, DWORD keyState) override;
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD effect) override;
};
