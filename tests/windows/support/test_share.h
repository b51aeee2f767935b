#pragma once
// The tests' network share (tools/test-share.sh): a folder served with
// every call a millisecond late, as \\fileserver\photos and as the network
// drive S:, which stops answering on request. Each test share is a fresh
// folder on it, filled through the served folder itself, which is quick.
#include <functional>
#include <string>

namespace quillory::testing {

class TestShare {
public:
    // Why the tests have no share; empty when they have one.
    static std::wstring Missing();

    TestShare();
    // Answers again, and removes the folder.
    ~TestShare();
    TestShare(const TestShare&) = delete;
    TestShare& operator=(const TestShare&) = delete;

    // The folder, or a name in it, as the network drive S: shows it.
    std::wstring OnDrive(const std::wstring& name = L"") const;
    // The same as \\fileserver\photos shows it.
    std::wstring OnUnc(const std::wstring& name = L"") const;
    // The same as the host serves it: quick to fill, out of the share's pace.
    std::wstring Served(const std::wstring& name = L"") const;
    // Empty files made in the folder without going through the share.
    bool MakeFiles(int count, const std::function<std::wstring(int)>& nameOf) const;

    // From now on every call waits, as calls to a server that stopped
    // answering do; while it is stopped only a folder read already under
    // way may touch the share: Wine's own server would wait too.
    void Stop() const;
    void Answer() const;

private:
    std::wstring name_;
    std::wstring source_;  // the served folder itself
};

}  // namespace quillory::testing
