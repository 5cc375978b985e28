// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <mutex>

namespace ovra {

// A shared_ptr that one thread may replace while another reads it: a reader
// gets its own reference, which stays valid whatever happens to the holder.
template <typename T> class SharedReference {
public:
    std::shared_ptr<T> load() const {
        std::lock_guard lock(myMutex);
        return myValue;
    }
    // Returns the previous value, so that it is released outside the lock.
    std::shared_ptr<T> exchange(std::shared_ptr<T> value) {
        std::lock_guard lock(myMutex);
        myValue.swap(value);
        return value;
    }
    void store(std::shared_ptr<T> value) { exchange(std::move(value)); }

private:
    mutable std::mutex myMutex;
    std::shared_ptr<T> myValue;
};

} // namespace ovra
