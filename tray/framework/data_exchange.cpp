#include "tray/framework/data_exchange.h"

namespace holvara::framework {

void DataExchange::Check(int controlId, int& value) {
  if (saving_) {
    value = ui_.ItemCheck(dialog_, controlId);
  } else {
    ui_.SetItemCheck(dialog_, controlId, value);
  }
}

void DataExchange::Text(int controlId, std::string& value) {
  if (saving_) {
    value = ui_.ItemText(dialog_, controlId);
  } else {
    ui_.SetItemText(dialog_, controlId, value);
  }
}

void DataExchange::Control(int controlId, WindowId& control) {
  if (control == kNoWindow) control = ui_.DialogItem(dialog_, controlId);
}

}  // namespace holvara::framework
