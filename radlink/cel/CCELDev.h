// Protocol object of the family; the library's global state holds one, search-list entries are more of them.
#pragma once

namespace radlink {

class SerialChannel;

class CCELDev {
public:
    explicit CCELDev(SerialChannel* channel = nullptr) : channel_(channel) {}
    virtual ~CCELDev() = default;

private:
    SerialChannel* channel_;
};

}  // namespace radlink
