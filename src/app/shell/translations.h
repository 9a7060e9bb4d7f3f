#pragma once
// The toolkit's own texts in Chinese: the file, print and colour dialogs, the overwrite prompt
// and the standard buttons. Without the translation files the program starts in the toolkit's
// English.

class QCoreApplication;

namespace zorvane::app {

// Loads the toolkit's simplified-Chinese translation into `application` and makes Chinese the
// default locale; false (and nothing changed) when the translation's files are missing.
bool installToolkitTranslation(QCoreApplication& application);

} // namespace zorvane::app
