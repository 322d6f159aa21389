#pragma once

// Hints of the update-all-views call.
enum UpdateHint : int {
    kHintRefillList = 1507,     // refill the list from the tree's current node
    kHintCurrentService = 1509, // the hint object is the new current service
    kHintChannelTable = 1510,   // channels joined or left the table; the sender's list shows it already
    // A property pane changed the record that is the hint object: every
    // window of the document shows it afresh.
    kHintServiceEdited = 1511,
    kHintTransponderEdited = 1512,
    kHintSatelliteEdited = 1513,
};
