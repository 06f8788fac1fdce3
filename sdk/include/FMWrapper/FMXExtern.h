// Stand-in for the FileMaker plug-in SDK: the plug-in's entry point and its call record.
#pragma once

#include "FMWrapper/FMXTypes.h"

// Messages the host sends to FMExternCallProc (the call record's whichCall).
enum {
    kFMXT_Init = 0,
    kFMXT_Idle = 1,
    kFMXT_Shutdown = 4,
    kFMXT_GetString = 7,
};

// Strings the host asks for with kFMXT_GetString (the call record's parm1).
enum {
    kFMXT_NameStr = 128,
    kFMXT_AppConfigStr = 129,
    kFMXT_OptionsStr = 131,
};

// Replies to kFMXT_Init (written into the call record's result).
enum {
    kCurrentExtnVersion = 52,
    kMinExtnVersion = 50,
    kMaxExtnVersion = 255,
    kBadExtnVersion = -1,
    kDoNotEnable = -2,
};

typedef unsigned char FMX_ExternCallSwitch;

struct FMX_ExternCallStruct {
    fmx::int16 extnVersion;          // the host's extension version
    FMX_ExternCallSwitch whichCall;  // the message
    fmx::uchar parm1;                // kFMXT_GetString: which string
    fmx::ptrtype parm2;
    fmx::ptrtype parm3;       // kFMXT_GetString: the buffer's size in UTF-16 units
    fmx::ptrtype instanceID;  // the loaded plug-in module
    fmx::ptrtype result;      // reply code, or kFMXT_GetString: the host's UTF-16 buffer
};

typedef FMX_ExternCallStruct* FMX_ExternCallPtr;
typedef void (*FMX_ExternCallProc)(FMX_ExternCallPtr pb);
