#pragma once
// Shows the busy mouse cursor for the life of the object.

namespace qelvan::app {

class BusyCursor {
public:
    BusyCursor();
    ~BusyCursor();
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

private:
    bool m_set = false;
};

} // namespace qelvan::app
