#pragma once
// A list that is copied by sharing. The run plan gives every presentation of an event
// its own copy of the planned event (the trial's levels change the copy), and a trial
// may be presented a hundred thousand times; the lists in the event (its accepted
// responses) are the same for every copy, so copies share one and a change makes the
// list its own first. Reads as a const std::vector.

#include <cstddef>
#include <initializer_list>
#include <memory>
#include <vector>

namespace Vantrel {

template <class T>
class VTSharedList
{
public:
    using value_type = T;
    using const_iterator = typename std::vector<T>::const_iterator;

    VTSharedList() = default;
    VTSharedList(std::initializer_list<T> items) : VTSharedList(std::vector<T>(items)) {}
    VTSharedList(std::vector<T> items) : m_Items(std::make_shared<std::vector<T>>(std::move(items))) {}
    VTSharedList& operator=(std::initializer_list<T> items)
    {
        m_Items = std::make_shared<std::vector<T>>(items);
        return *this;
    }

    const std::vector<T>& Items() const { return m_Items ? *m_Items : None(); }
    operator const std::vector<T>&() const { return Items(); }
    const_iterator begin() const { return Items().begin(); }
    const_iterator end() const { return Items().end(); }
    bool empty() const { return Items().empty(); }
    std::size_t size() const { return Items().size(); }
    const T& operator[](std::size_t index) const { return Items()[index]; }
    const T& front() const { return Items().front(); }
    const T& back() const { return Items().back(); }

    void push_back(const T& item) { Own().push_back(item); }
    void clear() { m_Items.reset(); }

private:
    static const std::vector<T>& None()
    {
        static const std::vector<T> none;
        return none;
    }
    // The list, no longer shared with any copy.
    std::vector<T>& Own()
    {
        if (!m_Items)
            m_Items = std::make_shared<std::vector<T>>();
        else if (m_Items.use_count() > 1)
            m_Items = std::make_shared<std::vector<T>>(*m_Items);
        return *m_Items;
    }

    std::shared_ptr<std::vector<T>> m_Items;  // never changed while another copy holds it
};

}  // namespace Vantrel
