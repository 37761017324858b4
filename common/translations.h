#pragma once
// Qt's own texts in Japanese: the standard dialogs (file, print, input,
// message boxes) and their buttons speak the language of the programs.

// Installs Qt's Japanese translations into the running application once;
// where they are not installed the standard dialogs stay in English.
void installJapaneseTranslations();
