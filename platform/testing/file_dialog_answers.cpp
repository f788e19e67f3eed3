#include "testing/file_dialog_answers.h"

#include <deque>
#include <mutex>

namespace lv::testing {
namespace {

struct FileAnswerState {
    std::mutex lock;
    std::deque<FileDialogAnswer> queue;
    std::vector<FileDialogRecord> log;
};

FileAnswerState& state() {
    static FileAnswerState instance;
    return instance;
}

} // namespace

void push_file_dialog_answer(FileDialogAnswer answer) {
    auto& s = state();
    std::lock_guard lock(s.lock);
    s.queue.push_back(std::move(answer));
}

bool take_file_dialog_answer(FileDialogAnswer& answer) {
    auto& s = state();
    std::lock_guard lock(s.lock);
    if (s.queue.empty())
        return false;
    answer = std::move(s.queue.front());
    s.queue.pop_front();
    return true;
}

void record_file_dialog(FileDialogRecord record) {
    auto& s = state();
    std::lock_guard lock(s.lock);
    s.log.push_back(std::move(record));
}

std::vector<FileDialogRecord> file_dialog_log() {
    auto& s = state();
    std::lock_guard lock(s.lock);
    return s.log;
}

void clear_file_dialog_answers() {
    auto& s = state();
    std::lock_guard lock(s.lock);
    s.queue.clear();
    s.log.clear();
}

} // namespace lv::testing
