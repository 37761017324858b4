#pragma once
// An indexed control group: members told apart by an index, created at run
// time as copies of member 0. Creating an index that exists fails, as the
// old toolkits' Load statement did; the caller decides whether to skip it.

#include <deque>
#include <memory>
#include <optional>
#include <stdexcept>

class IndexExists : public std::runtime_error {
public:
    IndexExists() : std::runtime_error("control array element already exists") {}
};

template <class Member>
class IndexedGroup {
public:
    // Member 0 exists from the start, as `first` is.
    explicit IndexedGroup(std::unique_ptr<Member> first)
    {
        members_.emplace_back(std::in_place, std::move(*first));
    }

    bool exists(int index) const
    {
        return index >= 0 && index < int(members_.size()) && members_[index].has_value();
    }

    // Creates member `index` as a copy of member 0; throws IndexExists.
    Member& create(int index)
    {
        if (index < 0)
            throw std::out_of_range("negative control index");
        if (exists(index))
            throw IndexExists();
        if (index >= int(members_.size()))
            members_.resize(index + 1);
        Member& member = members_[index].emplace(*members_[0]);
        member.index = index;
        return member;
    }

    // The member; throws std::out_of_range when it was never created.
    Member& at(int index)
    {
        if (!exists(index))
            throw std::out_of_range("no such control index");
        return *members_[index];
    }

    // One past the highest index ever created (the group can have holes).
    int upperBound() const { return int(members_.size()); }

    template <class F>
    void forEach(F f)
    {
        for (auto& m : members_)
            if (m)
                f(*m);
    }

private:
    // In place, in a deque: a map has a member for each of up to 32,767
    // rows, and growing a deque at its end moves no member, so a reference
    // to one stays good.
    std::deque<std::optional<Member>> members_;
};
