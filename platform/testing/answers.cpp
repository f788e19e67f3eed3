#include "testing/answer_source.h"
#include "win32/dialog.h"

#include <charconv>
#include <cstdlib>
#include <deque>
#include <fstream>
#include <iostream>
#include <mutex>

namespace lv::testing {

namespace {

struct AnswerState {
    std::mutex lock;
    std::deque<ModalAnswer> queue;
    std::vector<MessageBoxRecord> boxes;
    std::vector<UINT> beeps;
    bool script_loaded = false;
    std::deque<int> script;
};

AnswerState& state() {
    static AnswerState instance;
    return instance;
}

bool equal_no_case(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

void load_script(AnswerState& s) {
    s.script_loaded = true;
    s.script.clear();
    const char* path = std::getenv("LUMIVISTA_ANSWERS");
    if (path == nullptr || *path == '\0')
        return;
    std::ifstream in(path);
    if (!in) {
        std::cerr << "answers: cannot read the answer script " << path << "\n";
        return;
    }
    std::string line;
    while (std::getline(in, line)) {
        const std::string_view word = trimmed(line);
        if (word.empty() || word[0] == '#')
            continue;
        if (const auto answer = parse_answer(word))
            s.script.push_back(*answer);
        else
            std::cerr << "answers: unknown answer \"" << word << "\" in " << path << "\n";
    }
}

} // namespace

std::optional<int> parse_answer(std::string_view word) {
    static constexpr struct {
        std::string_view name;
        int id;
    } kNames[] = {
        {"OK", IDOK},
        {"Cancel", IDCANCEL},
        {"Abort", IDABORT},
        {"Retry", IDRETRY},
        {"Ignore", IDIGNORE},
        {"Yes", IDYES},
        {"No", IDNO},
        {"Close", IDCLOSE},
        {"Help", IDHELP},
        {"TryAgain", IDTRYAGAIN},
        {"Continue", IDCONTINUE},
    };
    for (const auto& name : kNames) {
        if (equal_no_case(word, name.name))
            return name.id;
    }
    int number = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), number);
    if (error == std::errc() && end == word.data() + word.size() && !word.empty())
        return number;
    return std::nullopt;
}

void push_modal_answer(ModalAnswer answer) {
    AnswerState& s = state();
    std::lock_guard guard(s.lock);
    s.queue.push_back(std::move(answer));
}

void push_message_box_answer(int button) {
    push_modal_answer(ModalAnswer{button, {}});
}

std::optional<ModalAnswer> take_modal_answer() {
    AnswerState& s = state();
    std::lock_guard guard(s.lock);
    if (!s.queue.empty()) {
        ModalAnswer answer = std::move(s.queue.front());
        s.queue.pop_front();
        return answer;
    }
    if (!s.script_loaded)
        load_script(s);
    if (s.script.empty())
        return std::nullopt;
    const int result = s.script.front();
    s.script.pop_front();
    return ModalAnswer{result, {}};
}

void record_message_box(MessageBoxRecord record) {
    AnswerState& s = state();
    std::lock_guard guard(s.lock);
    s.boxes.push_back(std::move(record));
}

void record_message_beep(UINT type) {
    AnswerState& s = state();
    std::lock_guard guard(s.lock);
    s.beeps.push_back(type);
}

std::vector<MessageBoxRecord> message_box_log() {
    AnswerState& s = state();
    std::lock_guard guard(s.lock);
    return s.boxes;
}

std::vector<UINT> message_beep_log() {
    AnswerState& s = state();
    std::lock_guard guard(s.lock);
    return s.beeps;
}

void clear_answers() {
    AnswerState& s = state();
    std::lock_guard guard(s.lock);
    s.queue.clear();
    s.boxes.clear();
    s.beeps.clear();
}

void restart_answer_script() {
    AnswerState& s = state();
    std::lock_guard guard(s.lock);
    s.script_loaded = false;
    s.script.clear();
}

} // namespace lv::testing
