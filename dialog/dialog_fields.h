// The fields of the program creation dialog: one row per header value, in
// the order of the data transfer between fields and values. Front ends that
// address fields by value name (the command-line host's answers file, the
// terminal dialog) translate names to control ids here.
#ifndef BENDPOST_DIALOG_DIALOG_FIELDS_H_
#define BENDPOST_DIALOG_DIALOG_FIELDS_H_

#include <optional>
#include <span>
#include <string_view>

namespace bendpost {

enum class FieldKind {
  kReadOnly,  // shown, not editable
  kEditable,  // the operator may type into it
  kHidden,    // neither shown nor editable
};

struct DialogFieldInfo {
  const char* value_name;  // the header value, e.g. "ProgramName"
  int control_id;          // the field's control in the dialog template
  const char* label;       // the label beside it in the template ("" none)
  FieldKind kind;
  int name_string_id;  // string naming it in validation messages (0: none)
};

// The 23 fields in transfer order.
std::span<const DialogFieldInfo> ProgramDialogFields();

// The field of a header value (exact, case-sensitive name), or nullptr.
const DialogFieldInfo* FindFieldByValueName(std::string_view value_name);
// The field of a control id, or nullptr.
const DialogFieldInfo* FindFieldByControlId(int control_id);
// The control id of a header value's field.
std::optional<int> ControlIdForValueName(std::string_view value_name);

}  // namespace bendpost

#endif  // BENDPOST_DIALOG_DIALOG_FIELDS_H_
