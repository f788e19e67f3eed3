// The text model of an edit control: the text, the selection and the edits made to them.
#pragma once

#include <cstddef>
#include <string>

namespace lv::controls {

class EditText {
public:
    const std::string& text() const { return m_text; }
    std::size_t anchor() const { return m_anchor; }
    std::size_t caret() const { return m_caret; }
    std::size_t selection_start() const { return m_anchor < m_caret ? m_anchor : m_caret; }
    std::size_t selection_end() const { return m_anchor < m_caret ? m_caret : m_anchor; }
    bool has_selection() const { return m_anchor != m_caret; }

    // Replaces the whole text; the caret goes to the start.
    void set_text(std::string text);
    // Anchor and caret, each clamped to the text and moved off the middle of a character.
    void select(std::size_t anchor, std::size_t caret);
    // Replaces the selection, cut so that the text stays within `limit` bytes; false when
    // nothing of `insert` fits (and the selection was empty).
    bool replace_selection(const std::string& insert, std::size_t limit);
    // Deletes the selection, or the character before (backward) or after the caret.
    bool erase(bool backward);
    // The caret one character left or right, or to an end; extend keeps the anchor.
    void move(int step, bool extend);
    void move_to(std::size_t position, bool extend);

private:
    std::size_t boundary(std::size_t position) const;
    std::size_t next(std::size_t position) const;
    std::size_t previous(std::size_t position) const;

    std::string m_text;
    std::size_t m_anchor = 0;
    std::size_t m_caret = 0;
};

} // namespace lv::controls
