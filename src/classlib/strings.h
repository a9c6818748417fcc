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

protected:
  TStrings() = default;
  TStrings(const TStrings&) = default;
  TStrings& operator=(const TStrings&) = default;
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
