' The control in a script host: created by ProgID, driven late-bound, its
' sections walked and edited, its events heard. Exits with the number of
' failed checks.
Option Explicit

Dim failures : failures = 0
Sub Check(condition, what)
    If Not condition Then
        WScript.Echo "FAIL: " & what
        failures = failures + 1
    End If
End Sub

Dim heard : heard = ""
Sub Header_OnBeforeCustomize() : heard = heard & "before;" : End Sub
Sub Header_OnAfterCustomize() : heard = heard & "after;" : End Sub
Sub Header_OnBeforeApply() : heard = heard & "apply;" : End Sub

Dim control : Set control = CreateObject("CorvaneC.Corvane")

' Properties
Check control.Color = &H80000004, "a new control has system colour 4"
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
control.HotTrackColor = &HFF
Check control.HotTrackColor = &HFF, "HotTrackColor"
Check control.ClassNameIs("tstrativ"), "ClassNameIs without case"
Check Not control.ClassNameIs(""), "ClassNameIs of nothing"
Check control.Font.Size > 0, "the font adapter"

' Sections: walk and edit
Dim root : Set root = control.Sections
Check root.Count = 1, "one top-level section"
Dim first : Set first = root.Items(0)
Check first.Caption = "TStrativ v.2.8", "the default caption"
first.Caption = "Name"
first.Width = 120
Check root.Items(0).Width = 120, "width written through a new wrapper"
Dim group : Set group = root.Add("Address")
group.Add "Street"
group.Add "City"
root.Changed True
Check control.ColumnCount = 3, "three columns after Changed"
Dim captions : captions = ""
Dim item : Set item = root.GetFirstChild
Do While Not item Is Nothing
    captions = captions & item.Caption & ","
    Set item = item.GetNext
Loop
Check captions = "Name,Address,Street,City,", "walk: " & captions

' Events
WScript.ConnectObject control, "Header_"
control.BeforeCustomize
control.BeforeApply
control.AfterCustomize
Check heard = "before;apply;after;", "events heard: " & heard
WScript.DisconnectObject control
control.BeforeApply
Check heard = "before;apply;after;", "nothing heard after disconnecting"

Set control = Nothing
If failures = 0 Then WScript.Echo "script host: all checks passed"
WScript.Quit failures
