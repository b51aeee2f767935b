#pragma once
// One shape for work in the background: a job runs on a thread of the
// runner's, is told to stop through its stop token, puts what it hands over
// in its own mailbox and wakes the window's thread to take it. A job started
// in place of another leaves the other's news untaken for good.
#include <memory>
#include <stop_token>
#include <utility>
#include <vector>

#include "platform/mailbox.h"
#include "platform/runner.h"

namespace quillory {

template <typename News>
class Job {
public:
    // What the work hands news over with; nothing reaches the window once the
    // job has been stopped.
    class Hand {
    public:
        void operator()(News news) const {
            if (state_->stop.stop_requested()) return;
            state_->mailbox.Put(std::move(news));
            runner_->Wake();
        }
        std::stop_token Stop() const { return state_->stop.get_token(); }
        // For work that puts its news itself, minding the stop token as it goes.
        Mailbox<News>& Box() const { return state_->mailbox; }
        void Wake() const { runner_->Wake(); }

    private:
        friend class Job;
        struct State {
            std::stop_source stop;
            Mailbox<News> mailbox;
        };
        Hand(std::shared_ptr<State> state, Runner* runner) : state_(std::move(state)), runner_(runner) {}
        std::shared_ptr<State> state_;
        Runner* runner_;
    };

    explicit Job(Runner& runner) : runner_(&runner) {}
    ~Job() { Stop(); }
    Job(const Job&) = delete;
    Job& operator=(const Job&) = delete;

    // Runs `work(hand)` in the background in place of the job running. The
    // work may be done before Start returns (the native tests' runner), so
    // nothing the caller does after Start may be needed by what the news does.
    template <typename Work>
    void Start(Work work, AtExit atExit = AtExit::CutOff) {
        Stop();
        state_ = std::make_shared<typename Hand::State>();
        auto run = [work = std::move(work), hand = Hand(state_, runner_)]() mutable { work(hand); };
        runner_->Run(std::move(run), atExit);
    }
    bool Running() const { return state_ != nullptr; }
    // What the job handed over since the last take, oldest first.
    std::vector<News> Take() { return state_ ? state_->mailbox.Take() : std::vector<News>(); }
    // Stopped and forgotten: what it hands over later is never taken.
    void Stop() {
        if (!state_) return;
        state_->stop.request_stop();
        state_.reset();
    }
    // The job handed over its last news: forgotten without being stopped.
    void Over() { state_.reset(); }

private:
    Runner* runner_;
    std::shared_ptr<typename Hand::State> state_;
};

}  // namespace quillory
