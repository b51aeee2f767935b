#include "extract/background_extraction.h"

#include <chrono>
#include <utility>
#include <vector>

#include "platform/text.h"
#include "platform/write_progress.h"

namespace quillory {

namespace {

// Reports closer together would wake the window for nothing it could show.
constexpr auto kProgressEvery = std::chrono::milliseconds(100);

bool ToTellAlone(const ExtractionResult& result) { return result.unagreedBytes == 0 && !result.outcome; }

}  // namespace

void BackgroundExtraction::Start(const ExtractionRequest& request, int listed, const FileNameTable& table,
                                 OutputEncoding encoding) {
    if (Writing()) return;
    state_.lineWritten = 0;
    if (listed == 0) {
        services_.ShowMessage(kEmptyListMessage, kMessageTitle);
        return;
    }
    const std::string& blankLineText = request.blankLineText;
    if (blankLineText.empty() || blankLineText == "0") {
        services_.ShowMessage(kMissingCountMessage, kMessageTitle);
        return;
    }
    const int count = table.Count();
    if (!request.reverse) state_.collectedNameCount = count;
    if (count == 0) return;
    Write({table, request.reverse, TextToInt32(blankLineText), request.form, request.folder, request.storageFolder,
           encoding},
          false);
}

// A failure that ends the write after the window went is told by the work.
void BackgroundExtraction::Write(ExtractionOrder order, bool largeAgreed) {
    window_.WriteUnderWay(0);
    job_.Start(
        [&services = services_, order = std::move(order), largeAgreed, lastWord = lastWord_](const Job<News>::Hand& hand) mutable {
            auto lastReport = std::chrono::steady_clock::now();
            const write_progress::Listening listening([&](std::uint64_t bytes) {
                const auto now = std::chrono::steady_clock::now();
                if (now - lastReport < kProgressEvery) return;
                lastReport = now;
                hand(News{bytes});
            });
            News end{0, WriteExtraction(services, services, order, largeAgreed)};
            if (end.result->unagreedBytes > 0) end.order = std::move(order);
            if (!lastWord.Give(hand, end) && ToTellAlone(*end.result)) {
                services.ShowWarning(WriteFailureMessage(end.result->outcome, end.result->dayFile), kMessageTitle);
            }
        },
        AtExit::Finish);
}

std::optional<WrittenBlock> BackgroundExtraction::TakeNews() {
    for (News& news : job_.Take()) {
        if (!news.result) {
            window_.WriteUnderWay(news.bytesWritten);
            continue;
        }
        job_.Over();
        window_.WriteOver();
        if (const std::uint64_t bytes = news.result->unagreedBytes; bytes > 0) {
            if (services_.AskYesNo(LargeBlockQuestion(bytes), kMessageTitle)) Write(std::move(news.order), true);
            return std::nullopt;
        }
        return Tell(*news.result);
    }
    return std::nullopt;
}

std::optional<WrittenBlock> BackgroundExtraction::Tell(ExtractionResult& result) {
    if (!result.outcome) {
        services_.ShowWarning(WriteFailureMessage(result.outcome, result.dayFile), kMessageTitle);
        return std::nullopt;
    }
    state_.lineWritten = 1;
    services_.ShowMessage(SuccessMessage(result.dayFile, result.shortfalls), kMessageTitle);
    return std::move(result.written);
}

void BackgroundExtraction::WindowGone() {
    const std::vector<News> handed = lastWord_.WindowGone(job_);
    window_.WriteOver();
    for (const News& news : handed) {
        if (news.result && ToTellAlone(*news.result)) {
            services_.ShowWarning(WriteFailureMessage(news.result->outcome, news.result->dayFile), kMessageTitle);
        }
    }
}

}  // namespace quillory
