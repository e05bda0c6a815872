#pragma once

#include <QString>
#include <array>

#include "lookups/engine_rules.h"

// The seven engines of the rank query in their fixed order: the name the lists show and table
// ranks stores, the icon keys of the engine list and of the result and history lists, and the
// tag the engine list and setting4 know the engine by.
struct RankEngineInfo {
    lookups::RankEngine engine;
    QString name;
    QString listIcon;
    QString resultIcon;
    QString tag;
};

const std::array<RankEngineInfo, 7>& RankEngines();

// The engine with `name`, or with `tag`; nullptr when none has it.
const RankEngineInfo* EngineNamed(const QString& name);
const RankEngineInfo* EngineTagged(const QString& tag);
