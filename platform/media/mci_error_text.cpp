#include "win32/media.h"

#include <algorithm>
#include <cstring>

namespace {

struct ErrorText {
    MCIERROR code;
    const char* text;
};

constexpr ErrorText kErrorTexts[] = {
    {0, "The command was carried out."},
    {MCIERR_INVALID_DEVICE_ID, "The device id is not that of an open device."},
    {MCIERR_UNRECOGNIZED_KEYWORD, "The command contains a keyword that is not known."},
    {MCIERR_UNRECOGNIZED_COMMAND, "The command is not known."},
    {MCIERR_HARDWARE, "The device reported a hardware problem."},
    {MCIERR_INVALID_DEVICE_NAME, "The device type is not known or not installed."},
    {MCIERR_OUT_OF_MEMORY, "There is not enough memory for the command."},
    {MCIERR_DEVICE_OPEN, "The device name is already in use by this program."},
    {MCIERR_CANNOT_LOAD_DRIVER,
     "The device driver cannot be loaded: there may be no sound device."},
    {MCIERR_MISSING_COMMAND_STRING, "No command was given."},
    {MCIERR_PARAM_OVERFLOW, "The result does not fit into the buffer given."},
    {MCIERR_MISSING_STRING_ARGUMENT, "The command needs a text argument."},
    {MCIERR_BAD_INTEGER, "A number in the command is not valid."},
    {MCIERR_PARSER_INTERNAL, "The command could not be read."},
    {MCIERR_DRIVER_INTERNAL, "The device driver failed internally."},
    {MCIERR_MISSING_PARAMETER, "The command lacks a parameter it needs."},
    {MCIERR_UNSUPPORTED_FUNCTION, "The device does not support this command."},
    {MCIERR_FILE_NOT_FOUND, "The file cannot be found."},
    {MCIERR_DEVICE_NOT_READY, "The device is not ready."},
    {MCIERR_INTERNAL, "An internal error happened."},
    {MCIERR_DRIVER, "The device driver reported an error."},
    {MCIERR_CANNOT_USE_ALL, "This command cannot go to all devices at once."},
    {MCIERR_MULTIPLE, "Errors happened on more than one device."},
    {MCIERR_EXTENSION_NOT_FOUND, "No device type is known for the file's extension."},
    {MCIERR_OUTOFRANGE, "The position is outside the file."},
    {MCIERR_FLAGS_NOT_COMPATIBLE, "The flags given cannot be used together."},
    {MCIERR_FILE_NOT_SAVED, "The file was not saved."},
    {MCIERR_DEVICE_TYPE_REQUIRED, "The command needs a device type."},
    {MCIERR_DEVICE_LOCKED, "The device is locked."},
    {MCIERR_DUPLICATE_ALIAS, "The alias is already in use by this program."},
    {MCIERR_BAD_CONSTANT, "A constant in the command is not valid."},
    {MCIERR_MUST_USE_SHAREABLE, "The device is in use; open it as shareable."},
    {MCIERR_MISSING_DEVICE_NAME, "The command needs a device name or alias."},
    {MCIERR_BAD_TIME_FORMAT, "The device does not support this time format."},
    {MCIERR_NO_CLOSING_QUOTE, "A quotation mark is missing."},
    {MCIERR_DUPLICATE_FLAGS, "A flag was given twice."},
    {MCIERR_INVALID_FILE, "The file cannot be played on this device: it may be damaged or in "
                          "a format that is not supported."},
    {MCIERR_NULL_PARAMETER_BLOCK, "The command needs a parameter block."},
    {MCIERR_UNNAMED_RESOURCE, "A file without a name cannot be saved."},
    {MCIERR_NEW_REQUIRES_ALIAS, "A new device needs an alias."},
    {MCIERR_NOTIFY_ON_AUTO_OPEN, "Notification is not available for automatically opened devices."},
    {MCIERR_NO_ELEMENT_ALLOWED, "This device does not take a file name."},
    {MCIERR_NONAPPLICABLE_FUNCTION, "The commands cannot be carried out in this order."},
    {MCIERR_ILLEGAL_FOR_AUTO_OPEN,
     "This command is not available for automatically opened devices."},
    {MCIERR_FILENAME_REQUIRED, "The command needs a file name."},
    {MCIERR_EXTRA_CHARACTERS, "Text follows the end of the command."},
    {MCIERR_DEVICE_NOT_INSTALLED, "The device is not installed."},
};

} // namespace

BOOL mciGetErrorStringA(MCIERROR error, LPSTR text, UINT length) {
    if (!text || length == 0)
        return FALSE;
    for (const ErrorText& entry : kErrorTexts) {
        if (entry.code != error)
            continue;
        std::size_t count = std::min<std::size_t>(std::strlen(entry.text), length - 1);
        std::memcpy(text, entry.text, count);
        text[count] = '\0';
        return TRUE;
    }
    text[0] = '\0';
    return FALSE;
}
