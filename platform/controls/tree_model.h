// The items of a tree view and their hierarchy, apart from any window: insertion in place,
// removal of whole branches, expansion, and the rows that show.
#pragma once

#include "win32/tree_view.h"

#include <cstdint>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

namespace lv::controls {

struct TreeItem {
    std::string text;
    LPARAM param = 0;
    UINT state = 0; // TVIS_* bits the item keeps (the selection is the view's)
    int image = 0;
    int selected_image = 0;
    int children = 0; // TVIF_CHILDREN's value: 1 shows a button before any child exists
    HTREEITEM parent = nullptr;
    std::vector<HTREEITEM> kids;
};

class TreeModel {
public:
    // nullptr for an unknown parent or place; TVI_ROOT (or nullptr) as parent puts it at the top.
    HTREEITEM insert(HTREEITEM parent, HTREEITEM after, TreeItem item);
    // Removes the item and its branch, telling `gone` of each item (children first) before it
    // goes; TVI_ROOT removes everything. False for an unknown item.
    bool remove(HTREEITEM item, const std::function<void(HTREEITEM, const TreeItem&)>& gone);

    TreeItem* find(HTREEITEM item);
    const TreeItem* find(HTREEITEM item) const;
    std::size_t size() const { return m_items.size(); }

    const std::vector<HTREEITEM>& siblings_of(HTREEITEM item) const;
    HTREEITEM first_root() const;
    HTREEITEM next_sibling(HTREEITEM item) const;
    HTREEITEM previous_sibling(HTREEITEM item) const;
    HTREEITEM parent(HTREEITEM item) const;
    HTREEITEM first_child(HTREEITEM item) const;
    int depth(HTREEITEM item) const;
    bool has_children(HTREEITEM item) const;
    bool expanded(HTREEITEM item) const;
    // Whether `item` lies inside `branch` (below it, not the branch itself).
    bool inside(HTREEITEM item, HTREEITEM branch) const;

    // The items that show, top to bottom: roots and the children of expanded items.
    std::vector<HTREEITEM> rows() const;

private:
    std::vector<HTREEITEM>* kids_of(HTREEITEM parent);

    std::unordered_map<HTREEITEM, TreeItem> m_items;
    std::vector<HTREEITEM> m_roots;
    std::uintptr_t m_next = 1;
};

} // namespace lv::controls
