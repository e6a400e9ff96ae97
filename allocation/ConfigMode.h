#pragma once
// The configuration mode that the class-management software reports through its COM component.
// Behind an interface so that a test can choose the layout without the component.
#include <windows.h>

extern const CLSID kConfigComponentClsid;
extern const IID kConfigComponentIid;

class ConfigModeSource {
public:
    virtual ~ConfigModeSource() = default;
    // Sets `mode` when the component answered; leaves it as it was otherwise.
    virtual void Query(int& mode) = 0;
};

// Asks the real component. The call runs on a thread of its own, in its own single-threaded
// apartment, under an exception frame of ours: a missing class, a refusing method, a fault
// inside the component or a component that never returns all leave the mode as it was.
class ComConfigModeSource : public ConfigModeSource {
public:
    enum class Outcome { NotAsked, Answered, NotCreated, Refused, Faulted, TimedOut };

    explicit ComConfigModeSource(const CLSID& clsid = kConfigComponentClsid,
                                 DWORD timeoutMs = 15000)
        : clsid_(clsid), timeoutMs_(timeoutMs) {}
    void Query(int& mode) override;
    Outcome LastOutcome() const { return outcome_; }

private:
    CLSID clsid_;
    DWORD timeoutMs_;
    Outcome outcome_ = Outcome::NotAsked;
};

ConfigModeSource& SystemConfigModeSource();
