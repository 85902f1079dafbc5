' The control in a script host: created by ProgID, driven late-bound, its
' sections walked and edited. Exits with the number of
' failed checks. The last line is printed only when the script got to the
' end: Wine's script host may stop at a runtime error with exit code 0, so
' the test looks for that line.
Option Explicit

Dim failures : failures = 0
Sub Check(condition, what)
    If Not condition Then
        WScript.Echo "FAIL: " & what
        failures = failures + 1
    End If
End Sub

Dim control : Set control = CreateObject("CorvaneC.Corvane")

' Properties. Colours are OLE_COLOR (unsigned 32-bit), compared as text.
Check CStr(control.Color) = "2147483652", "a new control has system colour 4"
Check control.ColumnCount = 1, "one column"
control.BevelInner = 2
Check control.BevelInner = 2, "BevelInner"
control.BevelInner = 256
Check control.BevelInner = 0, "only the low byte of an enumeration counts"
control.AllowClick = False
Check control.AllowClick = False, "AllowClick off"
Check control.AllowVResize = True, "AllowVResize keeps its value"
control.Visible = 2
Check control.Visible = True, "any non-zero value is true"
control.CustomizeMenustring = "Anpassen..."
Check control.CustomizeMenustring = "Anpassen...", "CustomizeMenustring"
control.HotTrackColor = 255
Check CStr(control.HotTrackColor) = "255", "HotTrackColor"
Check control.ClassNameIs("tstrativ"), "ClassNameIs without case"
Check Not control.ClassNameIs(""), "ClassNameIs of nothing"
Check control.Font.Size > 0, "the font adapter"

' Sections: walk and edit.
Dim root : Set root = control.Sections
Check root.Count = 1, "one top-level section"
Dim first : Set first = root.Items(0)
Check first.Caption = "TStrativ v.2.8", "the default caption"
first.Caption = "Name"
first.Width = 120
Check root.Items(0).Width = 120, "width written through a new wrapper"
Dim group : Set group = root.Add("Address")
Dim child : Set child = group.Add("Street")
Set child = group.Add("City")
root.Changed True
Check control.ColumnCount = 3, "three columns after Changed"
Dim captions : captions = ""
Dim i, j
For i = 0 To root.Count - 1
    captions = captions & root.Items(i).Caption & ","
    For j = 0 To root.Items(i).Count - 1
        captions = captions & root.Items(i).Items(j).Caption & ","
    Next
Next
Check captions = "Name,Address,Street,City,", "walk: " & captions
Check root.GetFirstChild.Caption = "Name", "GetFirstChild"

' Events: Wine's script host implements neither WScript.ConnectObject nor the
' event prefix of WScript.CreateObject (the script stops there), so events
' from a real host are tested with ATL's container (AtlHostTest.cpp).

Set control = Nothing
WScript.Echo "script host: " & failures & " failed checks"
If failures = 0 Then WScript.Echo "script host: all checks passed"
WScript.Quit failures
