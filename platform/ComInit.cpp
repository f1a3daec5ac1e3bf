#include "platform/ComInit.h"

#include <objbase.h>

ComInit::ComInit()
{
    const HRESULT result = CoInitialize(nullptr);
    mustUninitialize_ = SUCCEEDED(result);
    usable_ = mustUninitialize_ || result == RPC_E_CHANGED_MODE;
}

ComInit::~ComInit()
{
    if (mustUninitialize_) CoUninitialize();
}
