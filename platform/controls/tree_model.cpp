#include "controls/tree_model.h"

#include <algorithm>
#include <strings.h>

namespace lv::controls {
namespace {

const std::vector<HTREEITEM> kNone;

bool is_root(HTREEITEM parent) {
    return parent == nullptr || parent == TVI_ROOT;
}

} // namespace

std::vector<HTREEITEM>* TreeModel::kids_of(HTREEITEM parent) {
    if (is_root(parent))
        return &m_roots;
    TreeItem* p = find(parent);
    return p ? &p->kids : nullptr;
}

HTREEITEM TreeModel::insert(HTREEITEM parent, HTREEITEM after, TreeItem item) {
    std::vector<HTREEITEM>* kids = kids_of(parent);
    if (!kids)
        return nullptr;
    auto at = kids->end();
    if (after == TVI_FIRST) {
        at = kids->begin();
    } else if (after == TVI_SORT) {
        at = std::find_if(kids->begin(), kids->end(), [&](HTREEITEM other) {
            return strcasecmp(m_items.at(other).text.c_str(), item.text.c_str()) > 0;
        });
    } else if (after != TVI_LAST && after != nullptr) {
        at = std::find(kids->begin(), kids->end(), after);
        if (at == kids->end())
            return nullptr;
        ++at;
    }
    const auto handle = reinterpret_cast<HTREEITEM>(m_next++);
    item.parent = is_root(parent) ? nullptr : parent;
    item.kids.clear();
    kids->insert(at, handle);
    m_items.emplace(handle, std::move(item));
    return handle;
}

bool TreeModel::remove(HTREEITEM item,
                       const std::function<void(HTREEITEM, const TreeItem&)>& gone) {
    if (item == TVI_ROOT || item == nullptr) {
        while (!m_roots.empty())
            remove(m_roots.front(), gone);
        return true;
    }
    TreeItem* found = find(item);
    if (!found)
        return false;
    while (!found->kids.empty())
        remove(found->kids.front(), gone);
    if (gone)
        gone(item, *found);
    std::vector<HTREEITEM>* kids = kids_of(found->parent);
    if (kids)
        kids->erase(std::remove(kids->begin(), kids->end(), item), kids->end());
    m_items.erase(item);
    return true;
}

TreeItem* TreeModel::find(HTREEITEM item) {
    auto it = m_items.find(item);
    return it == m_items.end() ? nullptr : &it->second;
}

const TreeItem* TreeModel::find(HTREEITEM item) const {
    auto it = m_items.find(item);
    return it == m_items.end() ? nullptr : &it->second;
}

const std::vector<HTREEITEM>& TreeModel::siblings_of(HTREEITEM item) const {
    const TreeItem* found = find(item);
    if (!found)
        return kNone;
    if (!found->parent)
        return m_roots;
    const TreeItem* parent = find(found->parent);
    return parent ? parent->kids : kNone;
}

HTREEITEM TreeModel::first_root() const {
    return m_roots.empty() ? nullptr : m_roots.front();
}

HTREEITEM TreeModel::next_sibling(HTREEITEM item) const {
    const auto& list = siblings_of(item);
    auto it = std::find(list.begin(), list.end(), item);
    return it == list.end() || it + 1 == list.end() ? nullptr : *(it + 1);
}

HTREEITEM TreeModel::previous_sibling(HTREEITEM item) const {
    const auto& list = siblings_of(item);
    auto it = std::find(list.begin(), list.end(), item);
    return it == list.end() || it == list.begin() ? nullptr : *(it - 1);
}

HTREEITEM TreeModel::parent(HTREEITEM item) const {
    const TreeItem* found = find(item);
    return found ? found->parent : nullptr;
}

HTREEITEM TreeModel::first_child(HTREEITEM item) const {
    if (is_root(item))
        return first_root();
    const TreeItem* found = find(item);
    return found && !found->kids.empty() ? found->kids.front() : nullptr;
}

int TreeModel::depth(HTREEITEM item) const {
    int d = 0;
    for (HTREEITEM p = parent(item); p; p = parent(p))
        ++d;
    return d;
}

bool TreeModel::has_children(HTREEITEM item) const {
    const TreeItem* found = find(item);
    return found && (!found->kids.empty() || found->children > 0);
}

bool TreeModel::expanded(HTREEITEM item) const {
    const TreeItem* found = find(item);
    return found && (found->state & TVIS_EXPANDED);
}

bool TreeModel::inside(HTREEITEM item, HTREEITEM branch) const {
    for (HTREEITEM p = parent(item); p; p = parent(p))
        if (p == branch)
            return true;
    return false;
}

std::vector<HTREEITEM> TreeModel::rows() const {
    std::vector<HTREEITEM> out;
    std::vector<HTREEITEM> pending(m_roots.rbegin(), m_roots.rend());
    while (!pending.empty()) {
        HTREEITEM item = pending.back();
        pending.pop_back();
        out.push_back(item);
        const TreeItem& found = m_items.at(item);
        if (found.state & TVIS_EXPANDED)
            pending.insert(pending.end(), found.kids.rbegin(), found.kids.rend());
    }
    return out;
}

} // namespace lv::controls
