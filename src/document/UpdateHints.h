#pragma once

// Hints of the update-all-views call.
enum UpdateHint : int {
    kHintRefillList = 1507,     // refill the list from the tree's current node
    kHintCurrentService = 1509, // the hint object is the new current service
    kHintChannelTable = 1510,   // channels joined or left the table; the sender's list shows it already
};
