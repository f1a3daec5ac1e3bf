#pragma once
// Options written by an older release in another form, read once to migrate
// them into options.xml.

struct AppOptions;

class LegacyOptionsSource {
public:
    virtual ~LegacyOptionsSource() = default;
    virtual bool exists() const = 0;
    // Sets every value the older form holds, with that form's own defaults;
    // the rest of the record is left alone.
    virtual void readInto(AppOptions& options) const = 0;
};
