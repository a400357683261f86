// The small system services the rest of the stub takes for granted, in one include: the Windows
// version and its name, registry and INI access, program versions, standard folders, date texts,
// waits that keep the windows alive, scrambled values, error texts, window facts, and the text
// helpers. Each header says which of its functions are plain text work and which are Win32.
#pragma once

#include "sys/Accounts.h"
#include "sys/DateText.h"
#include "sys/DeveloperMode.h"
#include "sys/ExeVersion.h"
#include "sys/Folders.h"
#include "sys/HexText.h"
#include "sys/IniFile.h"
#include "sys/LibraryEntry.h"
#include "sys/Pumping.h"
#include "sys/RandomRange.h"
#include "sys/Registry.h"
#include "sys/ScrambleText.h"
#include "sys/ShellStart.h"
#include "sys/SysError.h"
#include "sys/UtilsText.h"
#include "sys/VersionText.h"
#include "sys/WinVersion.h"
#include "sys/WindowInfo.h"
