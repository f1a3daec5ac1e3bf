#include "framework/CCmdTarget.h"

#include <algorithm>
#include <utility>

template <class Handler>
const CCmdTarget::Entry<Handler>* CCmdTarget::Find(const std::vector<Entry<Handler>>& entries, UINT id)
{
    const auto found = std::find_if(entries.begin(), entries.end(), [id](const auto& e) { return e.Covers(id); });
    return found == entries.end() ? nullptr : &*found;
}

bool CCmdTarget::HandlesCommand(UINT id) const
{
    return Find(commands_, id) != nullptr;
}

bool CCmdTarget::ExecuteOwnCommand(UINT id)
{
    const auto* entry = Find(commands_, id);
    if (entry == nullptr) return false;
    // A copy: the handler may change this object's map.
    const auto handler = entry->handler;
    handler(id);
    return true;
}

bool CCmdTarget::UpdateOwnCommand(CCmdUI& ui)
{
    const auto* entry = Find(updates_, ui.GetId());
    if (entry == nullptr) return false;
    const auto handler = entry->handler;
    handler(ui);
    return true;
}

bool CCmdTarget::Route(const std::vector<CCmdTarget*>& chain, UINT id)
{
    for (CCmdTarget* target : chain)
        if (target != nullptr && target->ExecuteOwnCommand(id)) return true;
    return false;
}

void CCmdTarget::RouteUpdate(const std::vector<CCmdTarget*>& chain, CCmdUI& ui)
{
    for (CCmdTarget* target : chain) {
        if (target != nullptr && target->UpdateOwnCommand(ui)) {
            if (ui.IsEnableSet()) return;
            break;
        }
    }
    const bool handled = std::any_of(chain.begin(), chain.end(), [&ui](const CCmdTarget* target) {
        return target != nullptr && target->HandlesCommand(ui.GetId());
    });
    ui.Enable(handled);
}

void CCmdTarget::AddCommand(UINT id, std::function<void()> handler)
{
    commands_.push_back({id, id, [handler = std::move(handler)](UINT) { handler(); }});
}

void CCmdTarget::AddCommandRange(UINT first, UINT last, std::function<void(UINT)> handler)
{
    commands_.push_back({first, last, std::move(handler)});
}

void CCmdTarget::AddUpdate(UINT id, std::function<void(CCmdUI&)> handler)
{
    updates_.push_back({id, id, std::move(handler)});
}

void CCmdTarget::AddUpdateRange(UINT first, UINT last, std::function<void(CCmdUI&)> handler)
{
    updates_.push_back({first, last, std::move(handler)});
}
