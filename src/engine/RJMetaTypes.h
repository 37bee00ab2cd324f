#pragma once

// Qt meta-type declarations for the engine records that travel in signals.
// Kept apart from the engine headers, which the engine library compiles
// without Qt. Registration under the names the signals use happens in
// CRJSdkManager.

#include "engine/RJTypes.h"

#include <QMetaType>

#include <string>

Q_DECLARE_METATYPE(std::string)
Q_DECLARE_METATYPE(rj::engine::RJError)
Q_DECLARE_METATYPE(rj::engine::RJWarn)
Q_DECLARE_METATYPE(rj::engine::RJUserInfo)
Q_DECLARE_METATYPE(rj::engine::RJCallInfo)
Q_DECLARE_METATYPE(rj::engine::RJContentInfo)
Q_DECLARE_METATYPE(rj::engine::RJWhiteBoardInfo)
Q_DECLARE_METATYPE(rj::engine::RJRegisterInfo)
Q_DECLARE_METATYPE(rj::engine::RJ_DEVICE_TYPE)
Q_DECLARE_METATYPE(rj::engine::RJVolume)
Q_DECLARE_METATYPE(rj::engine::RJDevice)
Q_DECLARE_METATYPE(rj::engine::RJVideoSize)
