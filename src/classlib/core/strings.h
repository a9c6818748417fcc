#pragma once
// A list of texts, as the registry fills it and a combo box shows it. `TStrings` is the
// interface; `TStringList` keeps its texts in memory, a combo box's items live in the control.

#include <string>
#include <vector>

class TStrings {
public:
  virtual ~TStrings() = default;
  virtual void Clear() = 0;
  // Appends at the end and returns the new item's index; a list that cannot take the item
  // raises the class library's error (EOutOfResources for a control that ran out of space).
  virtual int Add(const std::string& text) = 0;
  virtual int Count() const = 0;
  virtual std::string Strings(int index) const = 0;

  std::vector<std::string> ToVector() const;

  // Bracket a series of changes: a list on the screen is not redrawn before the last EndUpdate.
  // Pairs nest; TStringsUpdate keeps them paired when an error leaves the series early.
  void BeginUpdate() {
    if (updateCount_++ == 0) SetUpdateState(true);
  }
  void EndUpdate() {
    if (--updateCount_ == 0) SetUpdateState(false);
  }

protected:
  TStrings() = default;
  TStrings(const TStrings&) = default;
  TStrings& operator=(const TStrings&) = default;
  // Stops (true) or resumes (false) the list's redrawing; nothing for a list in memory.
  virtual void SetUpdateState(bool updating) { (void)updating; }

private:
  int updateCount_ = 0;
};

// BeginUpdate for the lifetime of the object.
class TStringsUpdate {
public:
  explicit TStringsUpdate(TStrings& list) : list_(list) { list_.BeginUpdate(); }
  ~TStringsUpdate() { list_.EndUpdate(); }
  TStringsUpdate(const TStringsUpdate&) = delete;
  TStringsUpdate& operator=(const TStringsUpdate&) = delete;

private:
  TStrings& list_;
};

class TStringList final : public TStrings {
public:
  TStringList() = default;
  void Clear() override { items_.clear(); }
  int Add(const std::string& text) override;
  int Count() const override { return static_cast<int>(items_.size()); }
  std::string Strings(int index) const override;

private:
  std::vector<std::string> items_;
};
