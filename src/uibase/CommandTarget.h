#pragma once
// Command routing: the main frame offers a command first to the active
// document window (which passes it on to its views), then handles it itself.

struct CommandState {
    bool enabled = false;
    bool checked = false;
};

class ICommandTarget {
public:
    virtual ~ICommandTarget() = default;
    // Returns true when this target handles the command and has filled state.
    virtual bool UpdateCommand(int id, CommandState& state)
    {
        (void)id;
        (void)state;
        return false;
    }
    // Returns true when this target carried the command out.
    virtual bool OnCommand(int id)
    {
        (void)id;
        return false;
    }
};
