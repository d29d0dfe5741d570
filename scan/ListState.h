#pragma once
#include "scan/Enumeration.h"

// How far the file list has got.
enum class ListState {
    // The listing runs: the list is not yet what it will be.
    Filling,
    // The walk waits at the row limit until asked to go on.
    WaitingAtLimit,
    // The listing went to its end. The folders it could not list, if any,
    // are known.
    ReachedTheEnd,
    // The listing ended short of its end: the service failed, or the walk
    // ended at the row limit.
    EndedShort,
};

// The state of a list whose listing has ended as `outcome` says.
inline ListState EndedListState(const ListingOutcome& outcome)
{
    return outcome.ReachedTheEnd() ? ListState::ReachedTheEnd : ListState::EndedShort;
}
