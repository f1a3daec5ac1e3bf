#include "app/AppOptions.h"

#include "app/LegacyOptionsSource.h"
#include "app/OptionsXml.h"
#include "platform/PathJoin.h"
#include "xml/CMiniDOMIO.h"

namespace {

void migrate(AppOptions& options, const LegacyOptionsSource& legacy)
{
    legacy.readInto(options);
    // Older releases appended dropped items at the end, without grouping by type.
    options.AddPosition = 1;
    options.SameItemType = 0;
    options.SameUrlGroup = 0;
    options.SaveOptions();
}

} // namespace

void AppOptions::LoadOptions(const LegacyOptionsSource* legacy)
{
    CMiniDOMIO io;
    CMiniDOMNode document;
    const bool parsed = io.Load(optionsFile(), document);
    if (!parsed && legacy && legacy->exists()) {
        migrate(*this, *legacy);
        return;
    }
    // What a broken file left half read is not used: all of it takes the defaults.
    const CMiniDOMNode empty;
    OptionsXml::read(parsed ? document : empty, *this);
    loaded = 1;
}

bool AppOptions::SaveOptions() const
{
    CMiniDOMNode document;
    OptionsXml::write(*this, document);
    CMiniDOMIO io;
    return io.SaveKeepingUnreadable(optionsFile(), document);
}

std::string AppOptions::optionsFile() const
{
    return PathJoin::join(settingsFolder, "options", "xml");
}

std::string AppOptions::defaultBook() const
{
    return PathJoin::join(settingsFolder, "Default", "rvl");
}

std::string AppOptions::defaultPage() const
{
    return PathJoin::join(settingsFolder, "Default", "html");
}
