#pragma once
// 立即提取 as the window runs it: the checks and the question on the
// window's thread, the block built and written on a thread of its own. One
// write at a time; a press meanwhile adds nothing, another folder does not
// touch it, and the window going lets it end first. Its message comes when
// it ends.
#include <cstdint>
#include <memory>
#include <optional>

#include "extract/extraction.h"
#include "platform/controls.h"
#include "platform/job.h"
#include "platform/last_word.h"
#include "platform/services.h"

namespace quillory {

class BackgroundExtraction {
public:
    BackgroundExtraction(Services& services, MainWindow& window, Runner& runner, ExtractionState state)
        : services_(services), window_(window), state_(state), job_(runner) {}

    // Checks the request as the button does and starts the write; nothing
    // while a write runs.
    void Start(const ExtractionRequest& request, int listed, const FileNameTable& table, OutputEncoding encoding);
    bool Writing() const { return job_.Running(); }
    // How far the write has come, the question for a large block, the
    // outcome; the block, when one was written.
    std::optional<WrittenBlock> TakeNews();
    // The window goes: a write running ends all the same, and a failure is
    // still told; a success, with nobody left to read it, is not.
    void WindowGone();

private:
    struct News {
        std::uint64_t bytesWritten = 0;
        std::optional<ExtractionResult> result{};  // on the last news
        ExtractionOrder order{};                   // on the last, when a large block waits to be agreed to
    };

    void Write(ExtractionOrder order, bool largeAgreed);
    std::optional<WrittenBlock> Tell(ExtractionResult& result);

    Services& services_;
    MainWindow& window_;
    ExtractionState state_;
    LastWord<News> lastWord_;
    Job<News> job_;
};

}  // namespace quillory
