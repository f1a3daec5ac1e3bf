#pragma once
// The INI file in which releases before options.xml kept their options.

#include "app/LegacyOptionsSource.h"
#include "platform/PrivateProfileFile.h"

#include <string>

class LegacyIniOptions : public LegacyOptionsSource {
public:
    explicit LegacyIniOptions(const std::string& iniPath);
    // Ravlo.ini in the folder of the running program, where older releases kept it.
    static std::string besideProgram();

    bool exists() const override;
    void readInto(AppOptions& options) const override;

private:
    PrivateProfileFile ini_;
};
