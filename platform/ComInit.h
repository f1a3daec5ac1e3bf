#pragma once
// Initialises COM for the calling thread for as long as the object lives.

class ComInit {
public:
    ComInit();
    ~ComInit();
    ComInit(const ComInit&) = delete;
    ComInit& operator=(const ComInit&) = delete;

    // False when COM could not be initialised at all. A thread that already
    // runs in another apartment model still counts as usable.
    bool usable() const { return usable_; }

private:
    bool usable_;
    bool mustUninitialize_;
};
