#pragma once
// A text one thread writes and another reads; a read sees a whole value.

#include <mutex>
#include <string>

namespace ranking {

class SharedText {
public:
    std::string get() const;
    void set(std::string value);

private:
    mutable std::mutex m_mutex;
    std::string m_value;
};

// The psid of the last 360 result page read: written by the search job,
// read by the results view when it opens a 360 page.
SharedText& so360_psid();

}  // namespace ranking
