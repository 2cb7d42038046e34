#pragma once
// String lists: TStrings is the interface, TStringList the plain list that keeps its strings.

#include <functional>
#include <string>
#include <vector>

#include "framework/classes/Persistent.h"

namespace framework {

// An index outside a string list.
class EStringListError : public Exception {
 public:
  using Exception::Exception;
};

// Descriptions hold a list's lines as its published property Strings: "Lines.Strings = ('a' 'b')".
class TStrings : public TPersistent {
 public:
  DECLARE_CLASS_INFO()

  virtual int Count() const = 0;
  virtual std::string Get(int index) const = 0;
  virtual void Put(int index, const std::string& s) = 0;
  virtual void Insert(int index, const std::string& s) = 0;
  virtual void Delete(int index) = 0;
  virtual void Clear() = 0;

  int Add(const std::string& s);
  // The first line equal to s, compared ignoring ASCII letter case as the framework always has;
  // -1 when none.
  int IndexOf(const std::string& s) const;
  // The lines joined, each ended by a line break ("\r\n"), and split again at CR LF, LF or CR.
  std::string Text() const;
  void SetText(const std::string& text);
  // The value of the first "Name=Value" line whose name matches (ignoring ASCII case); empty when
  // there is none.
  std::string Values(const std::string& name) const;
  void Assign(const TPersistent* source) override;
};

class TStringList : public TStrings {
 public:
  DECLARE_CLASS_INFO()

  // Get, Put and Delete raise EStringListError for an index outside 0..Count-1, Insert for one
  // outside 0..Count.
  int Count() const override { return static_cast<int>(items_.size()); }
  std::string Get(int index) const override;
  void Put(int index, const std::string& s) override;
  void Insert(int index, const std::string& s) override;
  void Delete(int index) override;
  void Clear() override;

  // Told after every change of the lines.
  std::function<void()> OnChange;

 private:
  void Changed();
  std::vector<std::string> items_;
};

}  // namespace framework
