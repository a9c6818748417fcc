#pragma once
// The main window. Its controls and their event bindings come from its description (form1.form,
// carried as the resource "TFORM1"); this class holds the fields the description fills and the
// handlers it binds.

#include "classlib/controls/extctrls.h"
#include "classlib/controls/stdctrls.h"
#include "classlib/dialogs/dialogs.h"
#include "classlib/forms/form.h"
#include "classlib/forms/form_reader.h"

class TForm1 : public TForm {
public:
  // Builds the window from its description, still hidden, and starts the file dialog in the
  // client's download folder.
  explicit TForm1(TComponent& owner);

  // The controls, filled from the description.
  TComboBox* CBResume = nullptr;
  TLabel* Label1 = nullptr;
  TButton* BUpdate = nullptr;
  TLabel* Label2 = nullptr;
  TEdit* EDamaged = nullptr;
  TOpenDialog* ODFile = nullptr;
  TButton* BSelect = nullptr;
  TButton* BStart = nullptr;
  TLabel* LHomepage = nullptr;
  TButton* BExit = nullptr;
  TImage* Image1 = nullptr;
  TBevel* Bevel1 = nullptr;
  TLabel* Label3 = nullptr;
  TLabel* Label4 = nullptr;

  // The handlers the description binds. None looks at its sender.
  void BUpdateClick(TObject* sender);
  void BSelectClick(TObject* sender);
  void BStartClick(TObject* sender);
  void LHomepageClick(TObject* sender);
  void BExitClick(TObject* sender);

  // What the description may name: the fields and the handlers above.
  PublishedTable Published();
};

// The main window, from its creation on; null again if its creation failed.
extern TForm1* Form1;
