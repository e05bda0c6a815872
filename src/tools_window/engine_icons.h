#pragma once

#include <QHash>
#include <QIcon>
#include <QString>

// The small pictures of the engine, result and history lists, by the icon keys of the rank
// engines: a disc in the engine's colour with its initial.
QHash<QString, QIcon> EngineImageList();
