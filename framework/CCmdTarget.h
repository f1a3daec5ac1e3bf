#pragma once
// An object with command handlers: the application, documents, frames and
// views. Handlers are registered in the constructor (the command map);
// routing walks a chain of targets.

#include "framework/CCmdUI.h"

#include <windows.h>

#include <functional>
#include <vector>

class CCmdTarget {
public:
    CCmdTarget() = default;
    virtual ~CCmdTarget() = default;
    CCmdTarget(const CCmdTarget&) = delete;
    CCmdTarget& operator=(const CCmdTarget&) = delete;

    // This object's own map only.
    bool HandlesCommand(UINT id) const;
    bool ExecuteOwnCommand(UINT id);
    bool UpdateOwnCommand(CCmdUI& ui);

    // Runs the first handler along the chain; false when nobody handles `id`.
    static bool Route(const std::vector<CCmdTarget*>& chain, UINT id);
    // The first update handler along the chain decides. When none decides
    // about the enabled state, the command is enabled exactly when some
    // target has a handler for it: a command nobody handles is disabled.
    static void RouteUpdate(const std::vector<CCmdTarget*>& chain, CCmdUI& ui);

protected:
    void AddCommand(UINT id, std::function<void()> handler);
    void AddCommandRange(UINT first, UINT last, std::function<void(UINT)> handler);
    void AddUpdate(UINT id, std::function<void(CCmdUI&)> handler);
    void AddUpdateRange(UINT first, UINT last, std::function<void(CCmdUI&)> handler);

private:
    template <class Handler>
    struct Entry {
        UINT first;
        UINT last;
        Handler handler;
        bool Covers(UINT id) const { return first <= id && id <= last; }
    };
    template <class Handler>
    static const Entry<Handler>* Find(const std::vector<Entry<Handler>>& entries, UINT id);

    std::vector<Entry<std::function<void(UINT)>>> commands_;
    std::vector<Entry<std::function<void(CCmdUI&)>>> updates_;
};
