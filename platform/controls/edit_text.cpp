#include "controls/edit_text.h"

namespace lv::controls {
namespace {

bool continuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

} // namespace

std::size_t EditText::boundary(std::size_t position) const {
    if (position > m_text.size())
        position = m_text.size();
    while (position > 0 && position < m_text.size() && continuation(m_text[position]))
        --position;
    return position;
}

std::size_t EditText::next(std::size_t position) const {
    if (position >= m_text.size())
        return m_text.size();
    ++position;
    while (position < m_text.size() && continuation(m_text[position]))
        ++position;
    return position;
}

std::size_t EditText::previous(std::size_t position) const {
    if (position == 0)
        return 0;
    --position;
    while (position > 0 && continuation(m_text[position]))
        --position;
    return position;
}

void EditText::set_text(std::string text) {
    m_text = std::move(text);
    m_anchor = m_caret = 0;
}

void EditText::select(std::size_t anchor, std::size_t caret) {
    m_anchor = boundary(anchor);
    m_caret = boundary(caret);
}

bool EditText::replace_selection(const std::string& insert, std::size_t limit) {
    const std::size_t start = selection_start(), end = selection_end();
    const std::size_t kept = m_text.size() - (end - start);
    std::size_t room = limit > kept ? limit - kept : 0;
    std::size_t take = insert.size() < room ? insert.size() : room;
    while (take > 0 && take < insert.size() && continuation(insert[take]))
        --take;
    if (take == 0 && start == end)
        return false;
    m_text.replace(start, end - start, insert, 0, take);
    m_anchor = m_caret = start + take;
    return take == insert.size();
}

bool EditText::erase(bool backward) {
    if (has_selection()) {
        replace_selection("", m_text.size());
        return true;
    }
    const std::size_t from = backward ? previous(m_caret) : m_caret;
    const std::size_t to = backward ? m_caret : next(m_caret);
    if (from == to)
        return false;
    m_text.erase(from, to - from);
    m_anchor = m_caret = from;
    return true;
}

void EditText::move(int step, bool extend) {
    std::size_t position = m_caret;
    if (!extend && has_selection())
        position = step < 0 ? selection_start() : selection_end();
    else
        position = step < 0 ? previous(m_caret) : next(m_caret);
    move_to(position, extend);
}

void EditText::move_to(std::size_t position, bool extend) {
    m_caret = boundary(position);
    if (!extend)
        m_anchor = m_caret;
}

} // namespace lv::controls
